# help shows one topic of the zorak.man beside this script.
# markup: colours and code mode end at their own ..end, the topic at the last
help set
# topic names compare without regard to case; several words form one name
help SET
help string length
# a topic that is not there: a message, and the script goes on (code 0)
help nosuch topic
puts [catch {help nosuch}]
# a wrong argument count with --help or /? shows the command's topic instead
set a b c --help
set a b c /?
puts "after the hand-off"
# help alone lists the useful commands
help
# a line of two dots alone is the topic of the command "."; search finds it
help .
find "dot topic"
