# Where "#" starts a comment. The preprocessor drops comments of its own
# before a script runs, but leaves text in double quotes alone, so these
# scripts reach the tokeniser through eval.
eval "puts first; # a comment after a semicolon\nputs #not-a-comment"
eval "   # an indented comment\nputs {a b;c}"
eval "puts {x;y};# a comment right after a command end"
