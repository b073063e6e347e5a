# How tokens become words. The trace of `resume` shows the words each call
# received: resume accepts any words and, called by that name, does nothing else.
trace add resume
# a bracketed number is its own value and runs nothing
set a [123]
puts $a
# a bracketed text that starts with a digit is taken as written
set b [1+2]
puts $b
# adjacent tokens form one word
set y 1
resume x$y a$y[set y]b {br}{aced} "q$y"x
# braces keep blanks and stop substitution; quotes keep blanks and substitute
resume {a b} "c $y" {$y [set y]} ""
# backslashes stay in the words of a command
resume a\ b c\$d
# $$name reads the variable named by the value, ${...} a name with anything in it
set name y
puts $$name
set {odd name} 5
puts ${odd name}
set ptr name
puts $$$ptr
# a "$" with no name after it stands for itself
puts "cost: 5$"
resume $ a$
# "::" before a variable or command name reaches the global frame
::set ::g global
puts $::g
::puts hello
trace remove *
# a number as a command is its own result
42
