puts "$argc [set argv0]"
