# spawn on Windows: the command interpreter's output, captured and escaped.
puts "length: [spawn out cmd /c echo {a[b]}]"
echo $out
echo [spawn - cmd /c echo {x{y}z}]
puts "silent: [spawn out cmd /c rem] '$out'"
puts "missing: [catch {spawn out nosuch_program_zk x}]"
