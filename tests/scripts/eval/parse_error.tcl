# "$(" is a syntax error of the tokeniser.
set a 1
puts $(x)
puts never
