# With the stacktrace setting on, an error shows "Error: ", the message and
# the commands it happened in, innermost first.
option stacktrace on
eval {eval {alias a nosuch}}
