# stop ends the script with code 6
puts before
stop
puts after
