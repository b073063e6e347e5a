# option shows and changes the process-wide switches.
option
# a name alone answers ON or OFF
puts [option escape]
option escape off
puts [option Escape]
# turning escape on also turns autoexec off
option escape on
puts [option escape]/[option autoexec]
option autoexec on
# flags compare without regard to case; push keeps a copy, pop restores it
option escape PUSH off
puts [option escape]
option escape pop
puts [option escape]
# expression is stored inverted; the listing shows the option itself
option expression on
puts [option expression]
option
option expression off
puts [option expression]
# flags given leave the result as it was
set r unchanged
option echo off
