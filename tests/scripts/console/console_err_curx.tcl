# console curx fails when the cursor cannot be read (a pipe), with result 0.
puts before
console curx
puts "not reached"
