// ***************************************
// Object declarations 
// ***************************************
primitiveobj4 = theStage.getSolidObject(0).rootPrimitive.find('.../door');
// Loads the sound object...
esnd2 = Sound('doorbell.wav');
esnd2.active=false;
esnd2.volume = 0.5;
esnd2.repeats= 1;
esnd2.near = 1.0;
esnd2.far = 50.0;

// ***************************************
// Trigger actions 
// ***************************************



// on click trigger for 'door <primitive>'
primitiveobj4.mouse = MouseEventHandler();
primitiveobj4.mouse.setFilterOnClick(primitiveobj4);
primitiveobj4.mouse.onEvent = function(ev,obj) {
chat.print('Welcome, traveller! Come in and look around.');
// Play the sound file 
esnd2.position = Vector(primitiveobj4.position.x,primitiveobj4.position.y,primitiveobj4.position.z);
if(!esnd2.active) {
  esnd2.active=true;
  esnd2.play();
}
}
 // end of onclick trigger script

