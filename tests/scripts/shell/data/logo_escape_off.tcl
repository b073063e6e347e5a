option escape off
logo - - - - -shade red
option escape on
