# die prints its message with escapes resolved and ends the script with exit
puts before
die "bye\tnow" -code 3
puts "not reached"
