# {*} must be glued to the word it expands.
set l {a b}
puts {*} $l
