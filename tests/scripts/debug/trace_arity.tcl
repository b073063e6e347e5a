# A trace subcommand other than list needs a name.
trace add
puts never
