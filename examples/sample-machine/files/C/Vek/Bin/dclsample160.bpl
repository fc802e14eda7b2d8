product package
