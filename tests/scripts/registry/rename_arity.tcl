# rename needs the old and the new name.
rename puts
puts never
