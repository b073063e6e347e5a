# undef needs at least one name.
undef
puts never
