names
