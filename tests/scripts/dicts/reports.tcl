# walk prints the pairs; -bare leaves out addresses and statistics
dict set w k1 v1
dict walk w 0 -bare
puts [catch {dict walk nosuch}]
# info fails quietly for anything but a dictionary
puts [catch {dict info nosuch}]
set plain 1
puts [catch {dict info plain}]
# debug of a missing name shows only the name
dict debug nosuch
