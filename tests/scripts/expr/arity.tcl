# expr without arguments is a usage error, which ends the script
expr
puts "not reached"
