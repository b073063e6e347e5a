# A first look at Zorak: run it with `build/zorak examples/tour.tcl`.
textcolor cyan
puts "Welcome to Zorak [set tcl_version]"
textcolor

# Variables hold text; $name and [command] substitute inside words.
set greeting "Hello"
set target world
puts "$greeting, $target!"

# A number standing alone is its own value, so [42] runs no command.
set answer [42]
puts "The answer is $answer"

# Commands can be renamed and aliased.
alias say puts
say "say is an alias of puts"
puts "Commands run so far: [cmdcount]"

# Errors carry a completion code and leave their message in ::errorMsg.
option autoexec off
puts "Is there a command called nosuch? [is_command nosuch]"
