alias p puts
p hi
rename p q
undef q -nocomplain
undef -glob x* -proc
commands s*
procs
functions *a*
