# #exit with a number keeps the script from running
puts "not run"
#exit 2
