# Call trace entries show each word's first 80 characters, longer ones
# marked "...".
option stacktrace on
eval {alias b nosuch_0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890}
