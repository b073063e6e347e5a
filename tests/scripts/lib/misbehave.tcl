# A plug-in command that answers an unknown code fails cleanly.
set dir $env(ZORAK_PLUGINS)
lib $dir/misbehave
puts [catch {mb_code 42} r]
puts [catch {mb_code -1} r]
puts "codes: [catch {mb_code 0}] [catch {mb_code 3}] [catch {mb_code 8}]"
# a plug-in command can run another command
puts "[catch {mb_call sample_nothing} r] $r"
mb_call puts "called through the plug-in"
# but the module cannot be unloaded or replaced from inside its own command
puts [catch {mb_call lib misbehave -unload} r]
puts [catch {mb_call lib misbehave -replace} r]
puts "still: [lib -loaded misbehave] [is_command mb_call]"
puts "unload: [lib misbehave -unload] [lib -modules]"
