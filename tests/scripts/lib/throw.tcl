# A plug-in command that lets a C++ exception out fails with code 1, and
# the interpreter goes on.
set dir $env(ZORAK_PLUGINS)
lib $dir/misbehave
puts [catch {mb_throw} r]
puts [catch {mb_call mb_throw} r]
puts "still here: [lib misbehave -unload]"
