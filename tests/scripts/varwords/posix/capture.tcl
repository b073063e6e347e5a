# @> gives back what the command line printed, one line end removed
puts [@> echo hello world]
puts [@> printf {%s-%s} x y]
puts [string length [@> "echo one; echo two"]]
set out [@> "echo out; echo err 1>&2"]
puts [llength [split $out \n]]
# the exit status does not matter, the output does
puts <[@> exit 3]>
# @> needs a command line
@>
