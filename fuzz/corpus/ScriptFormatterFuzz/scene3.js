// ***************************************
// Object declarations 
// ***************************************
if(typeof(modelobj26)=='undefined') {
modelobj26 = SceneGroup('model0.aer').add();
modelobj26.onLoad = function() {
for(j=0;j<modelobj26.getSolidObjectCount();j++) {
modelobj26.getSolidObject(j).opacity=1.0;
}

this.onLoad = undefined;
removeAnimator(this);
}
addAnimator(modelobj26);
}
// Here, we attach a timestep to the revanim object which runs the rotation for model0.aer <model.aer/.atmo>
modelobj26.revanim11 = Object();
modelobj26.revanim11.thetime=0;
modelobj26.revanim11.modelobj26=modelobj26;
modelobj26.revanim11.timestep=function(w,d) {
  modelobj26.revanim11.thetime+=d;
  if(modelobj26.getPhysicalModel()==undefined) {
modelobj26.worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
} else {
modelobj26.getPhysicalModel().worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
}
}
obj12= Object();
obj12.currtime=0;
obj12.divbit = -0.05;
obj12.added = false;
obj12.timestep = function(w,d) {
this.currtime+=d;
if(this.currtime>0.5){
this.currtime=0;
if(modelobj26.loaded) {
this.added = true;
for(j=0; j<modelobj26.getSolidObjectCount(); j++) {
modelobj26.getSolidObject(j).opacity += this.divbit;
if(modelobj26.getSolidObject(j).opacity <= 0.5 && this.added) {
 removeAnimator(this);
this.added = false;
}
}
for(j=0;j<modelobj26.getViewpointObjectCount();j++) {
vpooj=modelobj26.getViewpointObject(j);
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
if(typeof(modelobj27)=='undefined') {
modelobj27 = SceneGroup('model1.aer').add();
modelobj27.onLoad = function() {
for(j=0;j<modelobj27.getSolidObjectCount();j++) {
modelobj27.getSolidObject(j).opacity=1.0;
}

this.onLoad = undefined;
removeAnimator(this);
}
addAnimator(modelobj27);
}
// Here, we attach a timestep to the revanim object which runs the rotation for model1.aer <model.aer/.atmo>
modelobj27.revanim15 = Object();
modelobj27.revanim15.thetime=0;
modelobj27.revanim15.modelobj27=modelobj27;
modelobj27.revanim15.timestep=function(w,d) {
  modelobj27.revanim15.thetime+=d;
  if(modelobj27.getPhysicalModel()==undefined) {
modelobj27.worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
} else {
modelobj27.getPhysicalModel().worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
}
}
obj16= Object();
obj16.currtime=0;
obj16.divbit = -0.05;
obj16.added = false;
obj16.timestep = function(w,d) {
this.currtime+=d;
if(this.currtime>0.5){
this.currtime=0;
if(modelobj27.loaded) {
this.added = true;
for(j=0; j<modelobj27.getSolidObjectCount(); j++) {
modelobj27.getSolidObject(j).opacity += this.divbit;
if(modelobj27.getSolidObject(j).opacity <= 0.5 && this.added) {
 removeAnimator(this);
this.added = false;
}
}
for(j=0;j<modelobj27.getViewpointObjectCount();j++) {
vpooj=modelobj27.getViewpointObject(j);
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
if(typeof(modelobj28)=='undefined') {
modelobj28 = SceneGroup('model2.aer').add();
modelobj28.onLoad = function() {
for(j=0;j<modelobj28.getSolidObjectCount();j++) {
modelobj28.getSolidObject(j).opacity=1.0;
}

this.onLoad = undefined;
removeAnimator(this);
}
addAnimator(modelobj28);
}
// Here, we attach a timestep to the revanim object which runs the rotation for model2.aer <model.aer/.atmo>
modelobj28.revanim19 = Object();
modelobj28.revanim19.thetime=0;
modelobj28.revanim19.modelobj28=modelobj28;
modelobj28.revanim19.timestep=function(w,d) {
  modelobj28.revanim19.thetime+=d;
  if(modelobj28.getPhysicalModel()==undefined) {
modelobj28.worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
} else {
modelobj28.getPhysicalModel().worldSpaceOrientation = Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),0.0*this.thetime*(0.10471) );
}
}
obj20= Object();
obj20.currtime=0;
obj20.divbit = -0.05;
obj20.added = false;
obj20.timestep = function(w,d) {
this.currtime+=d;
if(this.currtime>0.5){
this.currtime=0;
if(modelobj28.loaded) {
this.added = true;
for(j=0; j<modelobj28.getSolidObjectCount(); j++) {
modelobj28.getSolidObject(j).opacity += this.divbit;
if(modelobj28.getSolidObject(j).opacity <= 0.5 && this.added) {
 removeAnimator(this);
this.added = false;
}
}
for(j=0;j<modelobj28.getViewpointObjectCount();j++) {
vpooj=modelobj28.getViewpointObject(j);
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
primitiveobj29 = theStage.getSolidObject(0).rootPrimitive.find('.../door \'it\'\nsecond');

// ***************************************
// Trigger actions 
// ***************************************
chat.print('Hello `world`');
fog.active = true;
fog.color = [0.8,0.8,1.0];
fog.near = 10.0;
fog.far = 100.0;





// on click trigger for 'model0.aer <model.aer/.atmo>'
modelobj26.mouse = MouseEventHandler();
modelobj26.mouse.setFilterOnClick(modelobj26);
modelobj26.mouse.onEvent = function(ev,obj) {
// Fires the constant rotation action
modelobj26.revanim11.sincetime=0;
addAnimator(modelobj26.revanim11);
// Starts the opacity fade....
if(!obj12.added) {
addAnimator(obj12);
}
chat.print('Welcome to model 0');
}
 // end of onclick trigger script
modelobj26.prox = Object();
modelobj26.prox.fired = false;
modelobj26.prox.timestep = function() {
if(actor.dist(modelobj26.worldSpacePosition) < 5.0) {
  if(!this.fired) {
     this.fired = true;
// Fires the constant rotation action
modelobj26.revanim11.sincetime=0;
addAnimator(modelobj26.revanim11);
// Starts the opacity fade....
if(!obj12.added) {
addAnimator(obj12);
}
chat.print('Welcome to model 0');
  }
} else { 
 if(this.fired) {
if(modelobj26.revanim11.maxtime>0) { if(modelobj26.revanim11.sincetime < modelobj26.revanim11.maxtime) removeAnimator(modelobj26.revanim11);}
else removeAnimator(modelobj26.revanim11);  }
  this.fired = false;
  }
}
addAnimator(modelobj26.prox);

// on click trigger for 'model1.aer <model.aer/.atmo>'
modelobj27.mouse = MouseEventHandler();
modelobj27.mouse.setFilterOnClick(modelobj27);
modelobj27.mouse.onEvent = function(ev,obj) {
// Fires the constant rotation action
modelobj27.revanim15.sincetime=0;
addAnimator(modelobj27.revanim15);
// Starts the opacity fade....
if(!obj16.added) {
addAnimator(obj16);
}
chat.print('Welcome to model 1');
}
 // end of onclick trigger script
modelobj27.prox = Object();
modelobj27.prox.fired = false;
modelobj27.prox.timestep = function() {
if(actor.dist(modelobj27.worldSpacePosition) < 5.0) {
  if(!this.fired) {
     this.fired = true;
// Fires the constant rotation action
modelobj27.revanim15.sincetime=0;
addAnimator(modelobj27.revanim15);
// Starts the opacity fade....
if(!obj16.added) {
addAnimator(obj16);
}
chat.print('Welcome to model 1');
  }
} else { 
 if(this.fired) {
if(modelobj27.revanim15.maxtime>0) { if(modelobj27.revanim15.sincetime < modelobj27.revanim15.maxtime) removeAnimator(modelobj27.revanim15);}
else removeAnimator(modelobj27.revanim15);  }
  this.fired = false;
  }
}
addAnimator(modelobj27.prox);

// on click trigger for 'model2.aer <model.aer/.atmo>'
modelobj28.mouse = MouseEventHandler();
modelobj28.mouse.setFilterOnClick(modelobj28);
modelobj28.mouse.onEvent = function(ev,obj) {
// Fires the constant rotation action
modelobj28.revanim19.sincetime=0;
addAnimator(modelobj28.revanim19);
// Starts the opacity fade....
if(!obj20.added) {
addAnimator(obj20);
}
chat.print('Welcome to model 2');
}
 // end of onclick trigger script
modelobj28.prox = Object();
modelobj28.prox.fired = false;
modelobj28.prox.timestep = function() {
if(actor.dist(modelobj28.worldSpacePosition) < 5.0) {
  if(!this.fired) {
     this.fired = true;
// Fires the constant rotation action
modelobj28.revanim19.sincetime=0;
addAnimator(modelobj28.revanim19);
// Starts the opacity fade....
if(!obj20.added) {
addAnimator(obj20);
}
chat.print('Welcome to model 2');
  }
} else { 
 if(this.fired) {
if(modelobj28.revanim19.maxtime>0) { if(modelobj28.revanim19.sincetime < modelobj28.revanim19.maxtime) removeAnimator(modelobj28.revanim19);}
else removeAnimator(modelobj28.revanim19);  }
  this.fired = false;
  }
}
addAnimator(modelobj28.prox);

// on click trigger for 'door 'it' second <primitive>'
primitiveobj29.mouse = MouseEventHandler();
primitiveobj29.mouse.setFilterOnClick(primitiveobj29);
primitiveobj29.mouse.onEvent = function(ev,obj) {
sendJS("window.open('http://example.org/a\"b\\'c','newinst','menubar=no,toolbar=no,location=no,status=no,scrollbars=no,resizable=yes,width=600,height=400')");
}
 // end of onclick trigger script

