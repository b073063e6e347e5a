# goto jumps to a label of the enclosing block
goto_block {start {goto end} middle {puts x} end {puts y}}
# Labels are found without regard to case; this holds the label
goto_block {one {puts "in $this"; goto THREE} two {puts two} three {puts "in $this"}}
# goto pairs jump by their script
goto_block {a {puts a} goto c b {puts b} c {puts c}}
# break ends the block
goto_block {a {puts a; break} b {puts b}}
# An empty script gives an empty result
puts <[goto_block {a {}}]>
# goto alone returns code 7 with the label as the result
puts "code [catch {goto somewhere} r] $r"
# Unknown labels
puts "code [catch {goto_block {a {goto nowhere}}}]"
puts "code [catch {goto_block {goto nowhere}}]"
# Odd or too short blocks
puts "code [catch {goto_block {a}}]"
puts "code [catch {goto_block {a b c}}]"
# Errors pass out
puts "code [catch {goto_block {a {error inside}}} r] $r"
# gosub needs a procedure
puts "code [catch {gosub nosuch}]"
puts "code [catch {gosub puts}]"
# sub needs a name
puts "code [catch {sub {} {puts x}}]"
