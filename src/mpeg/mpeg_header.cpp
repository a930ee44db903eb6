// placeholder: the header framework lands here
