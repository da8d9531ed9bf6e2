// ***************************************
// Object declarations 
// ***************************************
if(typeof(modelobj8)=='undefined') {
modelobj8 = SceneGroup('model0.aer').add();
modelobj8.onLoad = function() {
for(j=0;j<modelobj8.getSolidObjectCount();j++) {
modelobj8.getSolidObject(j).opacity=1.0;
}

this.onLoad = undefined;
removeAnimator(this);
}
addAnimator(modelobj8);
}
// Here, we attach a timestep to the revanim object which runs the rotation for model0.aer <model.aer/.atmo>
modelobj8.revanim4 = Object();
modelobj8.revanim4.thetime=0;
modelobj8.revanim4.modelobj8=modelobj8;
modelobj8.revanim4.timestep=function(w,d) {
  modelobj8.revanim4.thetime+=d;
  if(modelobj8.getPhysicalModel()==undefined) {
modelobj8.worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
} else {
modelobj8.getPhysicalModel().worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
}
}
obj5= Object();
obj5.currtime=0;
obj5.divbit = -0.05;
obj5.added = false;
obj5.timestep = function(w,d) {
this.currtime+=d;
if(this.currtime>0.5){
this.currtime=0;
if(modelobj8.loaded) {
this.added = true;
for(j=0; j<modelobj8.getSolidObjectCount(); j++) {
modelobj8.getSolidObject(j).opacity += this.divbit;
if(modelobj8.getSolidObject(j).opacity <= 0.5 && this.added) {
 removeAnimator(this);
this.added = false;
}
}
for(j=0;j<modelobj8.getViewpointObjectCount();j++) {
vpooj=modelobj8.getViewpointObject(j);
for(d=0;d<vpooj.scene.getInstanceCount();d++) {
vpooj.scene.getInstance(d).opacity+=this.divbit;
if(vpooj.scene.getInstance(d).opacity <= 0.5 && this.added) {
 removeAnimator(this);
this.added = false;
}
}
}
}
}
}

// ***************************************
// Trigger actions 
// ***************************************



// on click trigger for 'model0.aer <model.aer/.atmo>'
modelobj8.mouse = MouseEventHandler();
modelobj8.mouse.setFilterOnClick(modelobj8);
modelobj8.mouse.onEvent = function(ev,obj) {
// Fires the constant rotation action
modelobj8.revanim4.sincetime=0;
addAnimator(modelobj8.revanim4);
// Starts the opacity fade....
if(!obj5.added) {
addAnimator(obj5);
}
chat.print('Welcome to model 0');
}
 // end of onclick trigger script
modelobj8.prox = Object();
modelobj8.prox.fired = false;
modelobj8.prox.timestep = function() {
if(actor.dist(modelobj8.worldSpacePosition) < 5.0) {
  if(!this.fired) {
     this.fired = true;
// Fires the constant rotation action
modelobj8.revanim4.sincetime=0;
addAnimator(modelobj8.revanim4);
// Starts the opacity fade....
if(!obj5.added) {
addAnimator(obj5);
}
chat.print('Welcome to model 0');
  }
} else { 
 if(this.fired) {
if(modelobj8.revanim4.maxtime>0) { if(modelobj8.revanim4.sincetime < modelobj8.revanim4.maxtime) removeAnimator(modelobj8.revanim4);}
else removeAnimator(modelobj8.revanim4);  }
  this.fired = false;
  }
}
addAnimator(modelobj8.prox);

