# open without a file name shows the usage and stops the script.
open
puts "not reached"
