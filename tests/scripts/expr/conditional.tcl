# The conditional picks a branch by the condition's leading integer
set x 3
puts "[expr {$x > 2 ? 10 : 20}] [expr {$x > 5 ? 10 : 20}]"
# 0.9 is false: only its leading digits count
puts "[expr 0.9 ? 10 : 20] [expr 1.9 ? 10 : 20]"
# A variable condition reads the variable
set t 1
set f 0
puts "[expr {$t ? 10 : 20}] [expr {$f ? 10 : 20}]"
# The branches are scripts: variables and commands in them are substituted
puts "[expr {1 ? $x : 0}] [expr {0 ? 1 : [+ $x 1]}] [expr {1 ? [set x] : 0}]"
# A branch that is a command runs it
puts "[expr {1 ? set z picked : 0}] $z"
# The colon scan steps over $:: references and quoted text
set ::g 5
puts "[expr {1 ? $::g : 0}] [expr {0 ? "a:b" : 7}]"
# Items before a comma stay in the value
puts [expr {1, 0 ? 5 : 6}]
# Without a colon the false branch is empty
puts "<[expr {0 ? 5}]>"
