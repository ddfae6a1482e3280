// The compiled-in pictures live in the resources of this library.
