# puts while the console layer is closed: the runtime's streams.
# Closing answers the new state of the layer.
puts [console close]
# Standard output, with and without the line end.
puts closed
puts -nonewline stdout "no end"
puts ""
# Standard error is not part of this output; standard input takes nothing.
puts stderr "to stderr"
puts stdin "to stdin"
puts after
# A stream word that names no open stream is an error.
puts 42 "nowhere"
puts "not reached"
