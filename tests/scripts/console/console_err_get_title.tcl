# console get_title before any title was set: empty result, code 1, no message.
puts before
console get_title
puts "not reached"
