# The shell prints the prompt and reads a line; standard input is empty here,
# so each cli ends at once with the end-of-input message and exit value 0.
prompt {[$c$f$l$s$g]}
puts [catch cli]
# a bare prompt changes nothing
prompt
cli
# $_ is a line feed; $k counts the commands run so far
prompt {one$_two}
cli
prompt {$k$g}
cli
