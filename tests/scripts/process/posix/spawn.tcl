# spawn captures standard output and error through a pipe, escaped for
# script text; the result is the stored length.
puts "length: [spawn out printf {a[b]$c}]"
echo $out
puts "errors too: [spawn out sh -c {echo err 1>&2}]"
echo $out
# A destination beginning with "-" returns the text itself.
echo [spawn - printf {x{y}z}]
# -echo copies the output to standard output while capturing it.
puts "echoed: [spawn out -echo printf {shown\n}]"
# No output, and -nowait, leave the variable empty at once.
puts "silent: [spawn out true] '$out'"
set out before
puts "nowait: [spawn out -nowait sleep 1] '$out'"
# Arguments with blanks stay one argument.
puts "one argument: [spawn - printf {%s|} {a b} c]"
# A program that cannot start is reported with advice.
puts "missing: [catch {spawn out nosuch_program_zk x}]"
# A destination and options without a program show the usage.
spawn out -echo
