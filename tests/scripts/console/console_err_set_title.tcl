# console set_title without a title falls through to the unknown-subcommand error.
puts before
console set_title
puts "not reached"
