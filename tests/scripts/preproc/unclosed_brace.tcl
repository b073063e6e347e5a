# an unclosed brace stops the script before it runs
puts "not run"
proc p {} {
  puts x
