# Reading a variable that does not exist reports it with the text around it.
set a 1
puts "value: $nosuch here"
puts never
