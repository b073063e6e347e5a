# is_set needs a name.
is_set
