# Unknown commands here must fail, not run as programs.
option autoexec off
# An operator without its second operand
puts "code [catch {expr 3 +} r] $r"
puts "code [catch {expr !}]"
# Unbalanced parentheses fail the bracket check
puts "code [catch {expr (1 + 2}]"
puts "code [catch {expr 1 + 2)) }]"
# A bracketed command that breaks fails the expression with its code's name
puts "code [catch {expr {[break] + 1}}]"
# CONTINUE from a bracketed command is accepted, but passes on as the
# expression's code, which expr treats as a failure
puts "code [catch {expr {[continue] 1}} r] $r"
# An error in a bracketed command
puts "code [catch {expr {[error oops] + 1}}]"
# Inside a nested bracket only the code decides whether the result is kept
puts "code [catch {expr {[error [+ 1 1]] + 1}} r] $r"
# An operator command's failure ends the evaluation
puts "code [catch {expr 1 / 0}]"
puts "code [catch {expr 1 + (2 / 0)}]"
# An unknown command as an operand fails when the operator runs it
puts "code [catch {expr {1 + [nosuch_cmd_y]}}]"
# %= is read as an operator, but no command of that name exists
puts "code [catch {expr {x %= 2}}]"
# An empty function argument is an empty expression
puts "code [catch {expr pow(,2)}]"
