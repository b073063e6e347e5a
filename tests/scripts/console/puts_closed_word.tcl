# With the console closed, a stream word that is not a number is handle 0.
console close
puts nosuch text
