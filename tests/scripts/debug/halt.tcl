# halt starts step mode only while the breakpoint setting is on.
halt
puts "halt did nothing"
option breakpoint on
# an alias of halt does nothing: the handler goes by the name it was called by
alias h halt
h
puts "the alias did nothing"
resume
halt
# in step mode the prompt comes before each command; end of input reads as
# Escape, which ends the script with code 6 before the command runs
puts never
