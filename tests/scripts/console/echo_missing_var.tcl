# echo -var naming no variable is an error.
echo nosuch -var
