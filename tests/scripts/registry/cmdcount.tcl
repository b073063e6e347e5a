# cmdcount counts the commands a script runs.
puts [cmdcount {set a 1; set b 2}]
puts [cmdcount {}]
# nested commands count too
puts [cmdcount {set a [set b 3]}]
# the variable receives the script's result
cmdcount {set a 1; set b two} v
puts "result: $v"
# a failing script still answers the count, and the variable gets the message
option autoexec off
puts [cmdcount {set a 1; nosuch} v]
puts "message: $v"
# -reset sets the counter to 0, and cmdcount alone reads it
puts [cmdcount -reset]
puts [cmdcount]
puts [cmdcount]
