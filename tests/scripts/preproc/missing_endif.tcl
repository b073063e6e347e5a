# an #ifdef without #endif
#ifdef X
puts "not run"
