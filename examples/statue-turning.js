// ***************************************
// Object declarations 
// ***************************************
if(typeof(modelobj4)=='undefined') {
modelobj4 = SceneGroup('statue.aer').add();
}
// Here, we attach a timestep to the revanim object which runs the rotation for statue.aer <model.aer/.atmo>
modelobj4.revanim2 = Object();
modelobj4.revanim2.thetime=0;
modelobj4.revanim2.modelobj4=modelobj4;
modelobj4.revanim2.timestep=function(w,d) {
  modelobj4.revanim2.thetime+=d;
  if(modelobj4.getPhysicalModel()==undefined) {
modelobj4.worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),10.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
} else {
modelobj4.getPhysicalModel().worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),10.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
}
}

// ***************************************
// Trigger actions 
// ***************************************



modelobj4.prox = Object();
modelobj4.prox.fired = false;
modelobj4.prox.timestep = function() {
if(actor.dist(modelobj4.worldSpacePosition) < 5.0) {
  if(!this.fired) {
     this.fired = true;
// Fires the constant rotation action
modelobj4.revanim2.sincetime=0;
addAnimator(modelobj4.revanim2);
  }
} else { 
 if(this.fired) {
if(modelobj4.revanim2.maxtime>0) { if(modelobj4.revanim2.sincetime < modelobj4.revanim2.maxtime) removeAnimator(modelobj4.revanim2);}
else removeAnimator(modelobj4.revanim2);  }
  this.fired = false;
  }
}
addAnimator(modelobj4.prox);

