# gotoxy needs exactly two coordinates.
gotoxy 1
