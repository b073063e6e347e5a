# a full stack refuses the next push, keeping what was pushed before
puts [stack create s 3]
puts [stack push s a b c]
puts "[catch {stack push s d} m] $m [stack count s]"
stack clear s
puts "[catch {stack push s a b c d} m] $m [stack list s]"
# a capacity below 1 becomes 1
stack create one 0
puts "[stack size one] [stack push one x] [catch {stack push one y}]"
# reading: list top first, listr bottom first, peek, item from the bottom
puts "[stack list s] | [stack listr s] | [stack peek s] | [stack count s]"
puts "[stack item s 0] [stack item s 0 -end] [stack item s 9] [stack item s 9 none] [stack item s -3]"
# -end as the only word after the index is both the default and the top
puts "[stack item s 7 -end] [stack item one 1 fallback]"
# pop removes the top; an empty stack gives the empty text with code 0
puts "[stack pop s] [stack pop s] [stack pop s] '[stack pop s]' '[stack peek s]'"
puts "[stack is_empty s] [stack count s] '[stack list s]' '[stack listr s]'"
# a text with a blank lists in braces; an empty text is not pushed
puts "[stack push s {x y} {} z] [stack list s]"
puts "[stack push s {}] [stack is_empty s]"
# clear empties the stack and answers 1
puts "[stack clear s] [stack count s] [stack size s]"
# subcommand words ignore case
puts "[stack PUSH s q] [stack Peek s]"
