# shell runs its words, then the user's interpreter until it ends (here at
# once: standard input is empty); without words it says how to leave.
puts "with words: [shell echo from the shell]"
puts "alone: [shell]"
