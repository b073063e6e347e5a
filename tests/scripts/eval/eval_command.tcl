# eval joins its words with blanks and runs them.
eval set a 1
puts $a
# a word in braces gives only the text inside its first brace pair
eval {set b 2}
puts $b
eval "{set c 3} set c 4"
puts $c
# an empty script leaves an empty result
eval {}
eval {} {}
# eval runs in the current frame and returns the script's result
set r [eval {set d 4; set e 5}]
puts $r
eval {eval {eval {set deep yes}}}
puts $deep
