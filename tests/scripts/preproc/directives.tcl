# macros, conditional branches and load-time directives
#define PI 3.14159
#define A B
#define B 7
puts PI
puts "PI is not replaced inside quotes"
puts A ;# a trailing comment becomes a line break
# a whole comment line leaves nothing
#ifdef X
puts "X defined"
#else
puts "X undefined"
#endif
#define X
#ifdef X
puts "X defined now"
#endif
#ifndef Y
puts "Y undefined"
#endif
#if 0
puts "skipped by #if 0"
#endif
#if 1
puts "kept by #if 1"
#endif
#undef PI
puts PI
puts xTrue
puts #__LINE__
#echo "echoed at load time"
#exec set loadtime 1
# #exec runs in a private interpreter: the script does not see its variables
option autoexec off
puts [catch {set loadtime} -quiet]
