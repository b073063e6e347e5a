# The desktop commands where nobody can answer (standard input is no
# terminal here): defaults at once, and the argument errors.
option autoexec off
# input and inputbox answer their defaults without waiting.
puts "input: '[input {Name? }]' '[input {Name? } -default anon]' '[input -key -default y]'"
puts "inputbox: '[inputbox Name? Title fallback]' '[inputbox Name?]'"
puts "input option: [catch {input -default}] [catch {input -bogus}]"
# input_csv splits its default as comma-separated values, quotes kept together.
puts "csv: [input_csv -default {a,"b,c",,"say ""hi"""}]"
puts "csv separator: [input_csv -default {1;2;3} -separator {;}] empty: '[input_csv]'"
puts "csv bad separator: [catch {input_csv -separator ab}]"
# screen: the standard size when output is no terminal.
puts "screen: [screen] [screen width] [screen height] [screen SIZE]"
puts "screen info: [catch {screen info}] bad: [catch {screen depth}]"
# box checks its numbers first, then needs a screen.
puts "box no screen: [catch {box 1 1 10 5}]"
puts "box numbers: [catch {box 1 1 1 5}] [catch {box 0 1 5 5}] [catch {box 1 1 x 5}] [catch {box 1 1 5 5.5}]"
puts "box option: [catch {box 1 1 5 5 -title}]"
# Sound: bad numbers and missing files are caught before anything plays.
puts "beep numbers: [catch {beep 10}] [catch {beep 440 -1}] [catch {beep abc}]"
puts "play_wav: [catch {play_wav no_such.wav}] [catch {play_wav x.wav -loop -wait}]"
puts "stop_wav arity: [catch {stop_wav now}]"
puts "clipboard: [catch {clipboard paste}]"
