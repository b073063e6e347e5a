# console cury fails when the cursor cannot be read (a pipe), with result 0.
puts before
console CURY
puts "not reached"
