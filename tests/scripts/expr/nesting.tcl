# Deep nesting ends with a message instead of exhausting the stack
set deep ""
loop i 0 3000 {set deep "($deep"}
set deep "${deep}1"
loop i 0 3000 {set deep "$deep)"}
puts "code [catch {expr $deep}]"
# A nesting well inside the limit works
set ok ""
loop i 0 200 {set ok "($ok"}
set ok "${ok}1 + 1"
loop i 0 200 {set ok "$ok)"}
puts [expr $ok]
# Deep function nesting, too
set f ""
loop i 0 3000 {set f "abs($f"}
set f "${f}1"
loop i 0 3000 {set f "$f)"}
puts "code [catch {expr $f}]"
# More than a thousand operands overflow the operand stack
set many ""
loop i 0 1001 {set many "$many 1"}
puts "code [catch {expr $many}]"
