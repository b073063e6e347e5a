# The context of a {*} syntax error starts 30 characters before the prefix.
puts abcdefghijklmnopqrstuvwxyz0123456789 {*} x
