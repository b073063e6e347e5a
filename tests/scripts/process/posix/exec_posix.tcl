# exec on Linux: /bin/sh runs the line, so its syntax works; a child ended
# by a signal gives 128 + the signal.
puts "sh syntax: [exec test 2 -gt 1 && exit 5]"
puts "signal: [exec kill -9 \$\$]"
puts "not found: [exec nosuch_program_zk]"
# autoexec on (the default): an unknown command runs as a program, its own
# name the first word, and the script goes on with the exit code.
puts "autoexec: [seq 2]"
puts "autoexec missing: [nosuch_program_zk] [option autoexec]"
