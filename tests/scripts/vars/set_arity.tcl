# too many words end the script with the usage report
set a 1
set a b c
puts "not reached"
