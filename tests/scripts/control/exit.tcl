# exit ends the script with code 5 and its value as the result
puts before
exit 42
puts after
