# Pattern/body words must pair up
switch a a {puts a} b
puts "not reached"
