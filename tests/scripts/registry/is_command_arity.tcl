# is_command takes exactly one name.
is_command set puts
puts never
