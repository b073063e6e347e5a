# sub defines a procedure without parameters; gosub calls it
sub greet {puts "hello from greet"}
gosub greet
# A RETURN from the procedure becomes OK and keeps its value
sub two {return 2}
puts "gosub gave [gosub two]"
# Other codes pass out of gosub
sub failing {error inside_sub}
puts "code [catch {gosub failing} r] $r"
# In a goto_block, a gosub pair jumps and return comes back after it
goto_block {a {puts a} gosub s1 b {puts b; break} s1 {puts "in s1"; return}}
# return without a gosub ends the block
goto_block {a {puts a; return} b {puts b}}
