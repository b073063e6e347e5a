# A double reference whose target does not exist.
set p nothing
puts $$p
