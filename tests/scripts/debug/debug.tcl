# debug shows and sets the debug flag and prints debugging text.
puts [debug]
puts [debug ON]
puts [debug]
debug -quiet
debug print "a\tb"
debug print
puts [debug off -quiet]
debug OFF
